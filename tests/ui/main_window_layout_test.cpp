// The window as the user sees it: every control where the form puts it, with its kind, caption,
// columns and styles, the two menus, the frame, and the keyboard and caption behaviour.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "state/app_state.h"
#include "tests/support/window_watch.h"
#include "tests/ui/form_fixture.h"
#include "ui/main_form.h"
#include "ui/main_window.h"
#include "ui/window_layer.h"

namespace {

class LayoutTest : public FormTest {};

RECT RectInParent(HWND control) {
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&box), 2);
    return box;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

TEST_F(LayoutTest, EveryControlHasItsKindParentPlaceAndCaption) {
    Start();
    const MainForm& f = mainForm;
    const struct {
        const char* name;
        HWND control;
        const char* className;
        HWND parent;
        RECT box;  // left, top, right, bottom in the parent's client area
        const char* caption;
    } expected[] = {
        {"选择夹_分类", f.选择夹_分类, "SysTabControl32", f.window, {0, 0, 424, 24}, ""},
        {"超级列表框_消息列表", f.超级列表框_消息列表, "SysListView32", f.window, {0, 32, 416, 496}, ""},
        {"分组框1", f.分组框1, "Button", f.window, {424, 3, 648, 152}, "操作"},
        {"按钮_添加分类", f.按钮_添加分类, "Button", f.分组框1, {34, 21, 106, 45}, "添加分类"},
        {"按钮_删除分类", f.按钮_删除分类, "Button", f.window, {561, 24, 633, 48}, "删除分类"},
        {"按钮_编辑分类", f.按钮_编辑分类, "Button", f.window, {459, 60, 531, 84}, "编辑分类"},
        {"按钮_导入消息", f.按钮_导入消息, "Button", f.window, {561, 60, 633, 84}, "导入消息"},
        {"分组框_设置", f.分组框_设置, "Button", f.window, {424, 153, 648, 234}, "设置参数"},
        {"选择框_双击发送", f.选择框_双击发送, "Button", f.分组框_设置, {13, 25, 85, 49}, "双击发送"},
        {"选择框_QQ", f.选择框_QQ, "Button", f.分组框_设置, {87, 25, 167, 49}, "监听QQ"},
        {"选择框_微信", f.选择框_微信, "Button", f.分组框_设置, {14, 49, 86, 73}, "监听微信"},
        {"选择框_旺旺", f.选择框_旺旺, "Button", f.分组框_设置, {87, 49, 159, 73}, "监听旺旺"},
        {"超级列表框_进程列表", f.超级列表框_进程列表, "SysListView32", f.window, {424, 237, 648, 493}, ""},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        ASSERT_TRUE(IsWindow(e.control));
        EXPECT_EQ(e.className, ClassOf(e.control));
        EXPECT_EQ(e.parent, GetParent(e.control));
        const RECT box = RectInParent(e.control);
        EXPECT_EQ(e.box.left, box.left);
        EXPECT_EQ(e.box.top, box.top);
        EXPECT_EQ(e.box.right, box.right);
        EXPECT_EQ(e.box.bottom, box.bottom);
        EXPECT_EQ(e.caption, WindowCaption(e.control));
        EXPECT_TRUE(IsWindowVisible(e.control));
        EXPECT_TRUE(IsWindowEnabled(e.control));
        EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT),
                  reinterpret_cast<HGDIOBJ>(SendMessageA(e.control, WM_GETFONT, 0, 0)));
    }
}

TEST_F(LayoutTest, ControlKindsAndTabStops) {
    Start();
    const MainForm& f = mainForm;
    auto style = [](HWND w) { return static_cast<DWORD>(GetWindowLongPtrA(w, GWL_STYLE)); };
    for (HWND button : {f.按钮_添加分类, f.按钮_删除分类, f.按钮_编辑分类, f.按钮_导入消息}) {
        EXPECT_EQ(static_cast<DWORD>(BS_PUSHBUTTON), style(button) & BS_TYPEMASK);
        EXPECT_TRUE(style(button) & WS_TABSTOP);
    }
    for (HWND box : {f.选择框_双击发送, f.选择框_QQ, f.选择框_微信, f.选择框_旺旺}) {
        EXPECT_EQ(static_cast<DWORD>(BS_AUTOCHECKBOX), style(box) & BS_TYPEMASK);
        EXPECT_TRUE(style(box) & WS_TABSTOP);
    }
    for (HWND group : {f.分组框1, f.分组框_设置}) {
        EXPECT_EQ(static_cast<DWORD>(BS_GROUPBOX), style(group) & BS_TYPEMASK);
        EXPECT_FALSE(style(group) & WS_TABSTOP);
    }
    EXPECT_FALSE(style(f.选择夹_分类) & WS_TABSTOP);
    EXPECT_FALSE(style(f.选择夹_分类) & (TCS_BUTTONS | TCS_MULTILINE | TCS_VERTICAL | TCS_BOTTOM));
}

TEST_F(LayoutTest, ListViewsShareTheirStyleAndHaveTheirColumns) {
    Start();
    const struct {
        HWND list;
        std::vector<std::pair<std::string, int>> columns;
    } lists[] = {
        {mainForm.超级列表框_消息列表, {{"序号", 50}, {"消息列表", 330}}},
        {mainForm.超级列表框_进程列表, {{"目标进程", 80}, {"窗口名称", 140}}},
    };
    for (const auto& l : lists) {
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(l.list, GWL_STYLE));
        EXPECT_EQ(static_cast<DWORD>(LVS_REPORT), style & LVS_TYPEMASK);
        EXPECT_TRUE(style & LVS_SINGLESEL);
        EXPECT_TRUE(style & LVS_NOSORTHEADER) << "headers are not buttons";
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_FALSE(
            style & (LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_NOCOLUMNHEADER));
        const DWORD extended = static_cast<DWORD>(SendMessageA(l.list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
        EXPECT_EQ(static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
                  extended & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP | LVS_EX_CHECKBOXES |
                              LVS_EX_TRACKSELECT | LVS_EX_ONECLICKACTIVATE));
        EXPECT_EQ(RGB(0, 0, 0), static_cast<COLORREF>(SendMessageA(l.list, LVM_GETTEXTCOLOR, 0, 0)));
        EXPECT_EQ(RGB(255, 255, 255), static_cast<COLORREF>(SendMessageA(l.list, LVM_GETBKCOLOR, 0, 0)));

        std::vector<std::pair<std::string, int>> columns;
        for (int i = 0;; ++i) {
            char text[64] = {};
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.pszText = text;
            column.cchTextMax = sizeof text;
            if (!SendMessageA(l.list, LVM_GETCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column))) break;
            EXPECT_EQ(LVCFMT_LEFT, column.fmt & LVCFMT_JUSTIFYMASK);
            columns.push_back({text, column.cx});
        }
        EXPECT_EQ(l.columns, columns);
    }
}

TEST_F(LayoutTest, ThreeButtonsLieAboveTheOperationFrame) {
    Start();
    for (HWND button : {mainForm.按钮_删除分类, mainForm.按钮_编辑分类, mainForm.按钮_导入消息}) {
        bool frameBelow = false;
        for (HWND next = GetWindow(button, GW_HWNDNEXT); next != nullptr; next = GetWindow(next, GW_HWNDNEXT)) {
            frameBelow = frameBelow || next == mainForm.分组框1;
        }
        EXPECT_TRUE(frameBelow) << WindowCaption(button) << " must be above 分组框1 in the stacking order";
        // A click in the middle of the button reaches the button, not the frame.
        RECT box;
        GetWindowRect(button, &box);
        POINT middle = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
        EXPECT_EQ(button, WindowFromPoint(middle));
    }
}

std::vector<std::pair<UINT, std::string>> MenuItems(HMENU menu) {
    std::vector<std::pair<UINT, std::string>> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        EXPECT_FALSE(state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) << text;
        items.push_back({GetMenuItemID(menu, i), text});
    }
    return items;
}

TEST_F(LayoutTest, MenuBarHasViewAndThePopUpMenuHasTheMessageOperations) {
    HWND window = Start();
    HMENU bar = GetMenu(window);
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(1, GetMenuItemCount(bar));
    char barText[32] = {};
    GetMenuStringA(bar, 0, barText, sizeof barText, MF_BYPOSITION);
    EXPECT_STREQ("查看", barText);
    EXPECT_EQ(mainForm.查看, GetSubMenu(bar, 0));
    const std::vector<std::pair<UINT, std::string>> view = {
        {kId关于软件, "关于软件"}, {kId联系作者, "联系作者"}, {kId监测新版本, "监测新版本"}, {kId随意看看, "随意看看"}};
    EXPECT_EQ(view, MenuItems(mainForm.查看));
    const std::vector<std::pair<UINT, std::string>> actions = {{kId复制该消息, "复制该消息"},
                                                               {kId删除该消息, "删除该消息"},
                                                               {kId编辑该消息, "编辑该消息"},
                                                               {kId上移, "上移"},
                                                               {kId下移, "下移"}};
    EXPECT_EQ(actions, MenuItems(mainForm.操作));
}

TEST_F(LayoutTest, ViewMenuItemsOpenTheirPages) {
    Start();
    Choose(kId关于软件);
    Choose(kId随意看看);
    Choose(kId联系作者);
    const std::vector<std::string> expected = {"https://" REPLYDOCK_TEST_WEBSITE_HOST "/index/article/look.html?id=55",
                                               "http://" REPLYDOCK_TEST_WEBSITE_HOST "/curious.html",
                                               REPLYDOCK_TEST_CONTACT_LINK};
    EXPECT_EQ(expected, dialogs_.OpenedTargets());
    for (const ScriptedDialogs::Opened& open : dialogs_.opened()) {
        EXPECT_FALSE(open.followActiveDuringCall) << open.target;
    }
    EXPECT_TRUE(followActive);
}

TEST_F(LayoutTest, FixedFrameWithoutMoveOrMaximise) {
    HWND window = Start();
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_FALSE(GetWindowLongPtrA(window, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW));
    EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(GetSystemMenu(window, FALSE), SC_MOVE, MF_BYCOMMAND));
    EXPECT_EQ(static_cast<ULONG_PTR>(COLOR_BTNFACE + 1), GetClassLongPtrA(window, GCLP_HBRBACKGROUND));

    RECT before, after;
    GetWindowRect(window, &before);
    SendMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(before.left + 50, before.top + 10));
    GetWindowRect(window, &after);
    EXPECT_EQ(before.left, after.left) << "dragging the caption bar does not move the window";
    EXPECT_EQ(before.top, after.top);
}

// Runs the program's own event loop step by step until `done` or the time is up.
template <typename Done>
bool PumpUntil(Done done, DWORD timeoutMs = 2000) {
    const DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < timeoutMs) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            if (!PreTranslateMainWindowMessage(&message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        Sleep(5);
    }
    return done();
}

TEST_F(LayoutTest, EscapeClosesTheWindowFromAnyControl) {
    for (int which = 0; which < 2; ++which) {
        HWND window = Start();
        HWND focus = which == 0 ? mainForm.超级列表框_消息列表 : mainForm.选择框_QQ;
        SetFocus(focus);
        PostMessageA(focus, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        EXPECT_TRUE(PumpUntil([window] { return !IsWindow(window); })) << "Esc in control " << which;
        TearDown();
    }
}

// Tab goes through every Tab stop, those inside the two group boxes included, and round again.
TEST_F(LayoutTest, TabReachesEveryTabStop) {
    Start();
    const MainForm& f = mainForm;
    const std::vector<std::pair<HWND, std::string>> stops = {
        {f.按钮_删除分类, "按钮_删除分类"},
        {f.按钮_编辑分类, "按钮_编辑分类"},
        {f.按钮_导入消息, "按钮_导入消息"},
        {f.按钮_添加分类, "按钮_添加分类"},
        {f.选择框_双击发送, "选择框_双击发送"},
        {f.选择框_QQ, "选择框_QQ"},
        {f.选择框_微信, "选择框_微信"},
        {f.选择框_旺旺, "选择框_旺旺"},
        {f.超级列表框_进程列表, "超级列表框_进程列表"},
        {f.超级列表框_消息列表, "超级列表框_消息列表"},
    };
    const auto name = [&stops](HWND window) {
        for (const auto& stop : stops) {
            if (stop.first == window) return stop.second;
        }
        return std::string("another window");
    };
    SetFocus(f.超级列表框_消息列表);
    std::vector<std::string> expected, visited;
    for (const auto& stop : stops) {
        expected.push_back(stop.second);
        MSG key = {GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {0, 0}};
        EXPECT_TRUE(PreTranslateMainWindowMessage(&key));
        visited.push_back(name(GetFocus()));
    }
    EXPECT_EQ(expected, visited);
}

// Ticks counted over three seconds: every 250 ms gives twelve, and one more may be waiting at the
// start. A machine too busy to take a tick in time loses it (ticks do not pile up), so a loaded machine
// only lowers the count; half of them lost still tells a quarter second from a second.
TEST_F(LayoutTest, TimerTicksEveryQuarterSecond) {
    HWND window = Start();
    int ticks = 0;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 3000) {
        MSG message;
        if (PeekMessageA(&message, window, WM_TIMER, WM_TIMER, PM_REMOVE) && message.wParam == kId时钟_定期执行) {
            ++ticks;
        }
        Sleep(5);
    }
    EXPECT_LE(ticks, 13) << "the timer ticks more often than every 250 ms";
    EXPECT_GE(ticks, 6) << "the timer ticks less often than every 250 ms";
}

TEST_F(LayoutTest, RightClickPopsTheOperationMenuBesideThePointer) {
    Start();
    ASSERT_TRUE(SetCursorPos(300, 320));
    POINT pointer;
    GetCursorPos(&pointer);
    RECT menuBox = {};
    WindowWatch watch([](HWND w) { return HasClass(w, "#32768"); },
                      [&menuBox](HWND menu) {
                          GetWindowRect(menu, &menuBox);
                          PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
                      });
    NMHDR click = {mainForm.超级列表框_消息列表, kId超级列表框_消息列表, static_cast<UINT>(NM_RCLICK)};
    SendMessageA(mainForm.window, WM_NOTIFY, kId超级列表框_消息列表, reinterpret_cast<LPARAM>(&click));
    ASSERT_TRUE(watch.Wait()) << "no pop-up menu";
    EXPECT_EQ(pointer.x + 3, menuBox.left);
    EXPECT_EQ(pointer.y + 3, menuBox.top);
}

}  // namespace
