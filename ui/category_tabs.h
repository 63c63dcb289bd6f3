#pragma once

// The categories of the library as the tabs of 选择夹_分类. The current category is the one named by
// the caption of the tab at `currentTabIndex`.

// Rebuilds the tabs from table `type` and fills the message list; an empty store gets "默认".
void LoadCategoryTabs();
void CreateDefaultCategory();
// Handlers of the three category buttons and of the tab change.
void AddCategory();
void RenameCategory();
void DeleteCategory();
void SwitchCategory();

extern const char kCategoryNameDialogTitle[];
