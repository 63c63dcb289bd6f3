#include "chat/input_box.h"

#include <vector>

#include "state/app_state.h"
#include "chat/other_windows.h"

const char kInputBoxClassName[] = "RichEditComponent";

namespace {

// Room for the class name as read during the search; longer names are cut and never match.
constexpr int32_t kClassNameCapacity = 50;

}  // namespace

void FindInputBox(HWND window) {
    const std::vector<HWND> children = ListChildWindows(window);
    for (HWND child : children) {
        if (GetClassText(child, kClassNameCapacity) == kInputBoxClassName) {
            inputBoxWindow = child;
            return;
        }
        FindInputBox(child);
    }
}
