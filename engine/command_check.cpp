// Pure checks of command verbs and arguments before anything is sent.
#include "command_check.h"

bool IsSafeVerb(std::string_view svVerb)
{
    if (svVerb.size() < 3 || svVerb.size() > 4)
        return false;
    for (char c : svVerb) {
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')))
            return false;
    }
    return true;
}

bool IsSafeArgument(std::string_view svArg)
{
    return svArg.find_first_of("\r\n") == std::string_view::npos;
}
