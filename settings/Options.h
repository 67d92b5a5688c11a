#pragma once

#include <array>

// The six on/off options, in the order they are stored.
enum Option { o_trash, o_backup, o_0byte, o_hidden, o_system, o_ro, OptionCount };

using Options = std::array<bool, OptionCount>;

inline const char* optionKey(Option o)
{
    static const char* const keys[OptionCount] = {"o_trash",  "o_backup", "o_0byte",
                                                  "o_hidden", "o_system", "o_ro"};
    return keys[o];
}
