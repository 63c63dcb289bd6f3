#include "ui/message_list.h"

#include "state/app_state.h"
#include "base/scope_guard.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/tab_strip.h"
#include "ui/window_layer.h"

const char kEditMessageDialogTitle[] = "修改内容";

namespace {

// Large categories fill without a repaint per row: drawing is off until the returned guard goes.
auto PauseRedraw(HWND window) {
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    return MakeScopeGuard([window] {
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, TRUE);
    });
}

HWND MessageList() {
    return mainForm.超级列表框_消息列表;
}

// The category named by the current tab; ID 0 when no category has that name.
CategoryRow CurrentCategory() {
    return CategoryOfCurrentTab(mainForm.选择夹_分类);
}

std::string SelectedText() {
    return ListCell(MessageList(), ListSelection(MessageList()), 1);
}

bool LoadCategory(const CategoryRow& category, std::vector<MessageRow>* messages) {
    int errorCode = 0;
    return messageTable->LoadByCategory(category.ID, messages, &errorCode);
}

// The texts of the loaded messages, taken out of them.
std::vector<std::string> TakeTexts(std::vector<MessageRow>* messages) {
    std::vector<std::string> texts;
    texts.reserve(messages->size());
    for (MessageRow& message : *messages) {
        texts.push_back(std::move(message.msg));
    }
    messages->clear();
    return texts;
}

// Exchanges the texts of the selected row's message and its neighbour `step` rows away (-1 up, +1
// down), in the store and in the list. Nothing is changed when either message is not in the loaded
// category: no stored row is guessed at.
void SwapWithNeighbour(int selected, int step) {
    const std::string text = SelectedText();
    std::vector<MessageRow> messages;
    if (selected < 0 || !LoadCategory(CurrentCategory(), &messages)) {
        return;
    }
    const int neighbour = selected + step;
    if (selected >= static_cast<int>(messages.size()) || neighbour < 0 ||
        neighbour >= static_cast<int>(messages.size()) || messages[static_cast<size_t>(selected)].msg != text) {
        return;
    }
    const MessageRow a = messages[static_cast<size_t>(selected)];
    const MessageRow b = messages[static_cast<size_t>(neighbour)];
    if (messageTable->UpdateText(MessageRow{a.ID, b.msg, 0, 0})) {
        ListSetCell(MessageList(), selected, 1, b.msg);
    }
    if (messageTable->UpdateText(MessageRow{b.ID, a.msg, 0, 0})) {
        ListSetCell(MessageList(), neighbour, 1, a.msg);
    }
}

}  // namespace

void AppendMessageRows(HWND list, const std::vector<std::string>& texts) {
    ListRows rows;
    rows.AppendNumbered(texts);
    auto redraw = PauseRedraw(list);
    ListAppendRows(list, std::move(rows));
}

void AppendMessageLines(HWND list, std::string text, const std::vector<TextSpan>& lines) {
    ListRows rows;
    rows.AppendNumbered(std::move(text), lines);
    auto redraw = PauseRedraw(list);
    ListAppendRows(list, std::move(rows));
}

void FillMessageList(HWND list, HWND tabs) {
    const CategoryRow category = CategoryOfCurrentTab(tabs);
    ListClear(list);
    // Straight from the store into the rows: a large category needs no record per message.
    ListRows rows;
    int errorCode = 0;
    const bool loaded = messageTable->LoadTextsByCategory(
        category.ID, [&rows](const std::string& text) { rows.AppendNumbered(rows.Count() + 1, text); }, &errorCode);
    if (!loaded) {
        return;  // the list stays empty, whatever was read before the read broke off
    }
    auto redraw = PauseRedraw(list);
    ListAppendRows(list, std::move(rows));
}

void DuplicateMessage() {
    auto pause = PauseFollowActive();
    const std::string text = SelectedText();
    const CategoryRow category = CurrentCategory();
    MessageRow copy;
    copy.msg = text;
    copy.count = 0;
    copy.typeId = category.ID;
    messageTable->Insert(copy);
    ListClear(MessageList());
    std::vector<MessageRow> messages;
    if (LoadCategory(category, &messages)) {
        AppendMessageRows(MessageList(), TakeTexts(&messages));
    }
}

void DeleteMessage() {
    auto pause = PauseFollowActive();
    const std::string text = SelectedText();
    const CategoryRow category = CurrentCategory();
    ListClear(MessageList());
    std::vector<MessageRow> messages;
    if (!LoadCategory(category, &messages)) {
        return;
    }
    std::vector<std::string> kept;
    for (const MessageRow& message : messages) {
        if (message.msg == text) {
            messageTable->Remove(message);
        } else {
            kept.push_back(message.msg);
        }
    }
    AppendMessageRows(MessageList(), kept);
}

void EditMessage() {
    auto pause = PauseFollowActive();
    const int selected = ListSelection(MessageList());
    const std::string oldText = SelectedText();
    std::string newText;
    if (!Dialogs().AskText(AskTextArgs{mainForm.window, kEditMessageDialogTitle, oldText}, &newText) ||
        newText == oldText) {
        return;
    }
    std::vector<MessageRow> messages;
    if (!LoadCategory(CurrentCategory(), &messages)) {
        return;
    }
    // The selected row's message is changed, so that the list and the store agree. Only when the list
    // no longer matches the store there does the last message with the old text stand in for it.
    const MessageRow* target = nullptr;
    if (selected >= 0 && selected < static_cast<int>(messages.size()) &&
        messages[static_cast<size_t>(selected)].msg == oldText) {
        target = &messages[static_cast<size_t>(selected)];
    }
    for (size_t i = 0; target == nullptr && i < messages.size(); ++i) {
        const MessageRow& message = messages[messages.size() - 1 - i];
        if (message.msg == oldText) {
            target = &message;
        }
    }
    // A text that is not stored cannot be edited: saying so beats showing an edit that is not kept.
    if (target == nullptr || !messageTable->UpdateText(MessageRow{target->ID, newText, 0, 0})) {
        ShowInfo("修改消息内容失败");
        return;
    }
    ListSetCell(MessageList(), selected, 1, newText);
}

void MoveMessageUp() {
    auto pause = PauseFollowActive();
    const int selected = ListSelection(MessageList());
    if (selected == 0) {
        ShowInfo("当前消息已经处于最顶部了");
        return;
    }
    SwapWithNeighbour(selected, -1);
}

void MoveMessageDown() {
    auto pause = PauseFollowActive();
    const int selected = ListSelection(MessageList());
    if (selected == ListRowCount(MessageList()) - 1) {
        ShowInfo("当前消息已经处于最底部了");
        return;
    }
    SwapWithNeighbour(selected, +1);
}
