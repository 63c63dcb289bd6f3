#include "ui/category_tabs.h"

#include <vector>

#include "state/app_state.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/message_list.h"
#include "ui/tab_strip.h"
#include "ui/window_layer.h"

const char kCategoryNameDialogTitle[] = "请输入分类名称,不可重复";

namespace {

const int kDesignTabCount = 4;  // "默认", "业务", "闲聊", "笑话" until the first load

// One load of the tabs. `mayCreateDefault` is false on the reload after storing "默认", so that a
// store which cannot keep the default category is reported instead of reloaded without end.
void LoadTabs(bool mayCreateDefault) {
    std::vector<CategoryRow> categories;
    int errorCode = 0;
    if (!categoryTable->LoadAll(&categories, &errorCode)) {
        if (errorCode == 2 && mayCreateDefault) {
            CreateDefaultCategory();
        } else {
            ShowInfo("获取全部数据失败");
        }
        return;
    }
    for (int i = 0; i < kDesignTabCount; ++i) {
        RemoveTab(0);
    }
    for (const CategoryRow& category : categories) {
        AppendTab(category.name);
    }
    FillMessageList(mainForm.超级列表框_消息列表, mainForm.选择夹_分类);
}

bool AskCategoryName(const std::string& initial, std::string* name) {
    return Dialogs().AskText(AskTextArgs{mainForm.window, kCategoryNameDialogTitle, initial}, name);
}

}  // namespace

void LoadCategoryTabs() {
    LoadTabs(true);
}

void CreateDefaultCategory() {
    CategoryRow row;
    row.name = "默认";
    categoryTable->Insert(row);
    LoadTabs(false);
}

void AddCategory() {
    auto pause = PauseFollowActive();
    std::string name;
    if (!AskCategoryName(std::string(), &name)) {
        return;
    }
    CategoryRow existing;
    if (categoryTable->FindByName(name, &existing)) {
        ShowInfo("分类名已经存在,不可重复");
        return;
    }
    CategoryRow row;
    row.name = name;
    // No tab without a stored category behind it: messages added there would belong to none.
    if (categoryTable->Insert(row)) {
        AppendTab(name);
    }
}

void RenameCategory() {
    auto pause = PauseFollowActive();
    const std::string oldName = CurrentCategoryName();
    std::string newName;
    if (!AskCategoryName(oldName, &newName) || newName == oldName) {
        return;
    }
    CategoryRow oldRow;
    categoryTable->FindByName(oldName, &oldRow);
    CategoryRow clash;
    if (categoryTable->FindByName(newName, &clash)) {
        ShowInfo("分类名已经存在,请修改为其他名称");
        return;
    }
    CategoryRow renamed;
    renamed.ID = oldRow.ID;
    renamed.name = newName;
    if (!categoryTable->Rename(renamed)) {
        ShowInfo("修改分类名失败");
        return;
    }
    TabStrip tabs;
    tabs.Attach(mainForm.选择夹_分类);
    tabs.SetItemText(currentTabIndex, newName);
}

void DeleteCategory() {
    TabStrip tabs;
    tabs.Attach(mainForm.选择夹_分类);
    if (tabs.ItemCount() <= 1) {
        ShowInfo("只剩一个子夹,不能删除");
        return;
    }
    auto pause = PauseFollowActive();
    const std::string name = ReadTabText(currentTabIndex);
    if (!AskOkCancel("确认删除该子夹,并删除该子夹消息列表")) {
        return;
    }
    CategoryRow row;
    if (!categoryTable->FindByName(name, &row)) {
        ShowInfo("分类名不存在");
        return;
    }
    if (!categoryTable->Remove(row)) {
        ShowInfo("删除该文件夹失败");
        return;
    }
    RemoveTab(currentTabIndex);
    currentTabIndex = currentTabIndex - 1;
    // Selecting the neighbour (the last tab when the first was deleted) runs SwitchCategory.
    tabs.FocusItem(currentTabIndex);
    messageTable->RemoveByCategory(row.ID);
}

void SwitchCategory() {
    currentTabIndex = TabSelection(mainForm.选择夹_分类);
    FillMessageList(mainForm.超级列表框_消息列表, mainForm.选择夹_分类);
}
