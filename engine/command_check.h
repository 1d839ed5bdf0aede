// Pure checks of what may go into a command line: a verb and an argument that cannot start a second command.
#ifndef SKELMER_COMMAND_CHECK_H
#define SKELMER_COMMAND_CHECK_H

#include <string_view>

// Verbs are three or four ASCII letters.
bool IsSafeVerb(std::string_view svVerb);

// An argument may hold anything but CR and LF, which would end the command early and let the
// rest of the text (from a hostile URL) run as a command of its own.
bool IsSafeArgument(std::string_view svArg);

#endif
