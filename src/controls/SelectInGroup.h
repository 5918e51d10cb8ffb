// SelectInGroup: a row of skinned buttons (or colour cells) acting as a radio group.
#pragma once

#include <windows.h>

#include <cstddef>

// Selects the button whose window is wnd and deselects every other one; writes its index
// to index (when given) and returns it. A handle that is not in the row changes nothing
// and gives -1.
template <class Button>
int SelectInGroup(Button* buttons, int count, HWND wnd, int* index = nullptr)
{
    int found = -1;
    for (int i = 0; wnd && i < count && found < 0; ++i)
        if (buttons[i].GetSafeHwnd() == wnd)
            found = i;
    if (found < 0)
        return -1;
    for (int i = 0; i < count; ++i)
        buttons[i].SetSelected(i == found);
    if (index)
        *index = found;
    return found;
}

template <class Button, size_t N>
int SelectInGroup(Button (&buttons)[N], HWND wnd, int* index = nullptr)
{
    return SelectInGroup(buttons, static_cast<int>(N), wnd, index);
}
