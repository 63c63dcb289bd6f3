#include "ui/tab_strip.h"

#include <commctrl.h>

#include <cstring>
#include <vector>

#include "state/app_state.h"
#include "ui/main_form.h"
#include "ui/window_layer.h"

namespace {

// A bound on the buffer, far above any name a person or an import gives a category.
const size_t kLongestCaptionRead = size_t{1} << 26;

// Reads a caption whole. The first read uses a buffer of `firstSize` bytes (spaces until the control
// writes); the control copies at most the buffer's size less one, so while the text fills the buffer
// to within two bytes it may have been cut (a double-byte character needs two) and the read is
// repeated with twice the room.
std::string ReadCaption(HWND tabs, int index, size_t firstSize) {
    for (size_t size = firstSize; size <= kLongestCaptionRead; size *= 2) {
        std::vector<char> buffer(size, ' ');
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = buffer.data();
        tab.cchTextMax = static_cast<int>(size);
        if (!SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab))) {
            return std::string();
        }
        if (tab.pszText != nullptr && tab.pszText != buffer.data()) {
            return std::string(tab.pszText);  // the control handed back its own, whole copy
        }
        const size_t length = strnlen(buffer.data(), size);
        if (length + 2 < size || size * 2 > kLongestCaptionRead) {
            return std::string(buffer.data(), length);
        }
    }
    return std::string();
}

}  // namespace

bool TabStrip::Attach(HWND tabs) {
    if (tabs_ != nullptr) {
        return false;
    }
    tabs_ = tabs;
    return true;
}

int TabStrip::ItemCount() const {
    return static_cast<int>(SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0));
}

std::string TabStrip::ItemText(int index) const {
    return ReadCaption(tabs_, Resolve(index), 256);
}

bool TabStrip::SetItemText(int index, const std::string& text) {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(text.c_str());
    return SendMessageA(tabs_, TCM_SETITEMA, static_cast<WPARAM>(Resolve(index)), reinterpret_cast<LPARAM>(&tab)) != 0;
}

void TabStrip::FocusItem(int index) {
    SendMessageA(tabs_, TCM_SETCURFOCUS, static_cast<WPARAM>(Resolve(index)), 0);
}

std::string CurrentCategoryName() {
    TabStrip tabs;
    tabs.Attach(mainForm.选择夹_分类);
    return tabs.ItemText(currentTabIndex);
}

CategoryRow CategoryOfCurrentTab(HWND tabs) {
    TabStrip strip;
    strip.Attach(tabs);
    CategoryRow category;
    categoryTable->FindByName(strip.ItemText(currentTabIndex), &category);
    return category;
}

bool AppendTab(const std::string& name) {
    return TabAppend(mainForm.选择夹_分类, name);
}

bool RemoveTab(int index) {
    return SendMessageA(mainForm.选择夹_分类, TCM_DELETEITEM, static_cast<WPARAM>(index), 0) != 0;
}

std::string ReadTabText(int index) {
    return ReadCaption(mainForm.选择夹_分类, index, 255);
}
