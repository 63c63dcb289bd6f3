#pragma once

#include <windows.h>

#include <string>

#include "store/category_table.h"

// A view of one tab control. It only holds the control's handle; dropping it does nothing to the
// control. Where an index may be -1 it means the last tab.
class TabStrip {
public:
    TabStrip() = default;
    virtual ~TabStrip() = default;

    // Binds to `tabs` unless already bound (then false and no change).
    virtual bool Attach(HWND tabs);
    virtual int ItemCount() const;
    // Caption of a tab, whole however long (first read through a 256-byte buffer).
    virtual std::string ItemText(int index) const;
    virtual bool SetItemText(int index, const std::string& text);
    // Gives a tab the focus, which selects it; the control tells its parent of the change.
    virtual void FocusItem(int index);

private:
    int Resolve(int index) const { return index == -1 ? ItemCount() - 1 : index; }

    HWND tabs_ = nullptr;
};

// Caption of the tab at `currentTabIndex` of 选择夹_分类: the name of the current category.
std::string CurrentCategoryName();
// The category named by the tab at `currentTabIndex` of `tabs`; ID 0 when no category has that name.
CategoryRow CategoryOfCurrentTab(HWND tabs);

// Inserts a tab after the last one, without selecting it.
bool AppendTab(const std::string& name);
bool RemoveTab(int index);
// Caption of a tab, whole however long (first read through a 255-byte buffer; no -1 rule).
std::string ReadTabText(int index);
