// A scope-bound owner of a heap string: releases it on every way out of a scope.
#ifndef FTPLINK_HEAP_TEXT_H
#define FTPLINK_HEAP_TEXT_H

#include <cstdlib>

struct HeapText {
    char *str = nullptr;

    HeapText() = default;
    explicit HeapText(char *strOwned) : str(strOwned) {}
    HeapText(const HeapText &) = delete;
    HeapText &operator=(const HeapText &) = delete;
    ~HeapText() { free(str); }

    // Gives up ownership: the caller releases the text.
    char *Release()
    {
        char *strOut = str;
        str = nullptr;
        return strOut;
    }
    void Reset(char *strOwned = nullptr)
    {
        free(str);
        str = strOwned;
    }
    const char *Get() const { return str; }
};

#endif
