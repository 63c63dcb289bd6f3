#include "ui/form_layout.h"

#include <commctrl.h>

#include <initializer_list>

#include "ui/window_layer.h"

namespace {

// One control of the window. Positions are inside the client area of the parent.
struct ControlDesign {
    HWND MainForm::*field;
    HWND MainForm::*parent;  // nullptr: the window itself
    const char* className;
    DWORD style;
    int left, top, width, height;
    const char* caption;
    WORD id;
};

const DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_CLIPSIBLINGS | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER;
const DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_PUSHBUTTON;
const DWORD kCheckStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | BS_AUTOCHECKBOX;
const DWORD kGroupStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX;

// In creation order; the group boxes come before their children.
// Kept on purpose: only 添加分类 is a child of the "操作" frame; the other three buttons lie over the
// frame as children of the window. The buttons' places on the screen and the Tab order (see the
// stacking in CreateFormControls) depend on it.
const ControlDesign kControls[] = {
    {&MainForm::选择夹_分类, nullptr, WC_TABCONTROLA,
     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_TABS | TCS_SINGLELINE, 0, 0, 424, 24, "", kId选择夹_分类},
    {&MainForm::超级列表框_消息列表, nullptr, WC_LISTVIEWA, kListStyle | LVS_OWNERDATA, 0, 32, 416, 464, "",
     kId超级列表框_消息列表},
    {&MainForm::分组框1, nullptr, "BUTTON", kGroupStyle, 424, 3, 224, 149, "操作", kId分组框1},
    {&MainForm::按钮_添加分类, &MainForm::分组框1, "BUTTON", kButtonStyle, 34, 21, 72, 24, "添加分类",
     kId按钮_添加分类},
    {&MainForm::按钮_删除分类, nullptr, "BUTTON", kButtonStyle, 561, 24, 72, 24, "删除分类", kId按钮_删除分类},
    {&MainForm::按钮_编辑分类, nullptr, "BUTTON", kButtonStyle, 459, 60, 72, 24, "编辑分类", kId按钮_编辑分类},
    {&MainForm::按钮_导入消息, nullptr, "BUTTON", kButtonStyle, 561, 60, 72, 24, "导入消息", kId按钮_导入消息},
    {&MainForm::分组框_设置, nullptr, "BUTTON", kGroupStyle, 424, 153, 224, 81, "设置参数", kId分组框_设置},
    {&MainForm::选择框_双击发送, &MainForm::分组框_设置, "BUTTON", kCheckStyle, 13, 25, 72, 24, "双击发送",
     kId选择框_双击发送},
    {&MainForm::选择框_QQ, &MainForm::分组框_设置, "BUTTON", kCheckStyle, 87, 25, 80, 24, "监听QQ", kId选择框_QQ},
    {&MainForm::选择框_微信, &MainForm::分组框_设置, "BUTTON", kCheckStyle, 14, 49, 72, 24, "监听微信", kId选择框_微信},
    {&MainForm::选择框_旺旺, &MainForm::分组框_设置, "BUTTON", kCheckStyle, 87, 49, 72, 24, "监听旺旺", kId选择框_旺旺},
    {&MainForm::超级列表框_进程列表, nullptr, WC_LISTVIEWA, kListStyle, 424, 237, 224, 256, "", kId超级列表框_进程列表},
};

const char* const kDesignTabs[] = {"默认", "业务", "闲聊", "笑话"};
const ListColumn kMessageColumns[] = {{"序号", 50}, {"消息列表", 330}};
const ListColumn kProcessColumns[] = {{"目标进程", 80}, {"窗口名称", 140}};

// Controls inside a group box are its children, so their notifications reach the group box first;
// it hands them on to the main window, where every event is handled. A group box paints only its
// frame, so it also fills its inside with the window's face colour.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
            return SendMessageA(GetAncestor(box, GA_ROOT), message, wParam, lParam);
        case WM_ERASEBKGND: {
            RECT inside;
            GetClientRect(box, &inside);
            FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default:
            return DefSubclassProc(box, message, wParam, lParam);
    }
}

void SetupListView(HWND list, const ListColumn* columns, int count) {
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    SendMessageA(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    SendMessageA(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageA(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
    for (int i = 0; i < count; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = columns[i].width;
        column.pszText = const_cast<char*>(columns[i].header);
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

HMENU CreateMenuWithItems(HMENU menu, const WORD* ids, const char* const* texts, int count) {
    for (int i = 0; i < count; ++i) {
        AppendMenuA(menu, MF_STRING, ids[i], texts[i]);
    }
    return menu;
}

}  // namespace

bool CreateFormControls(HWND window, MainForm* form) {
    form->window = window;
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlDesign& design : kControls) {
        HWND parent = design.parent != nullptr ? form->*design.parent : window;
        HWND control = CreateWindowExA(0, design.className, design.caption, design.style, design.left, design.top,
                                       design.width, design.height, parent,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(design.id)), instance, nullptr);
        if (control == nullptr) {
            return false;
        }
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        form->*design.field = control;
    }
    for (HWND box : {form->分组框1, form->分组框_设置}) {
        SetWindowSubclass(box, GroupBoxProc, 1, 0);
        // Tab goes on into the controls inside the box, as into those of the window itself.
        SetWindowLongPtrA(box, GWL_EXSTYLE, GetWindowLongPtrA(box, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    }
    // The three buttons lying inside the "操作" frame stay above it, visible and clickable: the frame
    // goes below the last of them. The stacking order is also the Tab order: the message list, the
    // buttons, the check boxes, the process list.
    SetWindowPos(form->分组框1, form->按钮_导入消息, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    for (const char* caption : kDesignTabs) {
        TabAppend(form->选择夹_分类, caption);
    }
    SendMessageA(form->选择夹_分类, TCM_SETCURSEL, 0, 0);
    // The message list may show hundreds of thousands of messages: the window layer keeps its rows.
    if (!KeepListRows(form->超级列表框_消息列表)) {
        return false;
    }
    SetupListView(form->超级列表框_消息列表, kMessageColumns, 2);
    SetupListView(form->超级列表框_进程列表, kProcessColumns, 2);

    static const WORD kViewIds[] = {kId关于软件, kId联系作者, kId监测新版本, kId随意看看};
    static const char* const kViewTexts[] = {"关于软件", "联系作者", "监测新版本", "随意看看"};
    static const WORD kActionIds[] = {kId复制该消息, kId删除该消息, kId编辑该消息, kId上移, kId下移};
    static const char* const kActionTexts[] = {"复制该消息", "删除该消息", "编辑该消息", "上移", "下移"};
    form->查看 = CreateMenuWithItems(CreatePopupMenu(), kViewIds, kViewTexts, 4);
    form->操作 = CreateMenuWithItems(CreatePopupMenu(), kActionIds, kActionTexts, 5);
    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(form->查看), "查看");
    SetMenu(window, bar);

    // Dragging the caption does nothing: the move command is gone from the system menu.
    DeleteMenu(GetSystemMenu(window, FALSE), SC_MOVE, MF_BYCOMMAND);
    SetTimer(window, kId时钟_定期执行, k时钟_定期执行_Interval, nullptr);
    return true;
}
