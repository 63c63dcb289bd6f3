#pragma once

#include <windows.h>

// The one window of the program and its controls, under the names the rest of the program uses for
// them. Filled when the window is created; the handles stay valid until it is destroyed.
struct MainForm {
    HWND window = nullptr;
    HWND 选择夹_分类 = nullptr;          // category tabs
    HWND 超级列表框_消息列表 = nullptr;  // messages of the current category
    HWND 分组框1 = nullptr;              // "操作" frame
    HWND 按钮_添加分类 = nullptr;        // child of 分组框1
    HWND 按钮_删除分类 = nullptr;
    HWND 按钮_编辑分类 = nullptr;
    HWND 按钮_导入消息 = nullptr;
    HWND 分组框_设置 = nullptr;      // "设置参数" frame
    HWND 选择框_双击发送 = nullptr;  // children of 分组框_设置
    HWND 选择框_QQ = nullptr;
    HWND 选择框_微信 = nullptr;
    HWND 选择框_旺旺 = nullptr;
    HWND 超级列表框_进程列表 = nullptr;  // open chat windows
    HMENU 查看 = nullptr;                // the menu bar's only entry
    HMENU 操作 = nullptr;                // pop-up menu of the message list, never in the menu bar
};

extern MainForm mainForm;

// Command and control identifiers of the window.
enum FormId : WORD {
    kId选择夹_分类 = 1001,
    kId超级列表框_消息列表,
    kId分组框1,
    kId按钮_添加分类,
    kId按钮_删除分类,
    kId按钮_编辑分类,
    kId按钮_导入消息,
    kId分组框_设置,
    kId选择框_双击发送,
    kId选择框_QQ,
    kId选择框_微信,
    kId选择框_旺旺,
    kId超级列表框_进程列表,
    // "操作" menu
    kId复制该消息 = 2001,
    kId删除该消息,
    kId编辑该消息,
    kId上移,
    kId下移,
    // "查看" menu
    kId关于软件 = 2101,
    kId联系作者,
    kId监测新版本,
    kId随意看看,
};

// The timer 时钟_定期执行 and its period.
const UINT_PTR kId时钟_定期执行 = 1;
const UINT k时钟_定期执行_Interval = 250;
