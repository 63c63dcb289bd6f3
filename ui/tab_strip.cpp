#include "ui/tab_strip.h"

#include <commctrl.h>

#include "app/app_state.h"
#include "ui/main_form.h"

namespace {

std::string ReadCaption(HWND tabs, int index, int bufferSize) {
    std::string buffer(static_cast<size_t>(bufferSize), ' ');
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = &buffer[0];
    tab.cchTextMax = bufferSize;
    if (!SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&tab))) {
        return std::string();
    }
    // The control may hand back its own buffer instead of filling ours.
    const char* text = tab.pszText != nullptr ? tab.pszText : buffer.c_str();
    return std::string(text, strnlen(text, static_cast<size_t>(bufferSize)));
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

bool AppendTab(const std::string& name) {
    HWND tabs = mainForm.选择夹_分类;
    const LRESULT count = SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0);
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(name.c_str());
    return SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&tab)) != -1;
}

bool RemoveTab(int index) {
    return SendMessageA(mainForm.选择夹_分类, TCM_DELETEITEM, static_cast<WPARAM>(index), 0) != 0;
}

std::string ReadTabText(int index) {
    return ReadCaption(mainForm.选择夹_分类, index, 255);
}
