#pragma once

#include <string>

// The three chat clients the tool serves, told apart by the class name of their top-level window.
// Free of Win32 calls: plain rules over the texts read from the windows.
enum class ChatClient {
    kWeChat,
    kQq,
    kAliWangWang,
};

extern const char kWeChatClassName[];       // "WeChatMainWndForPC"
extern const char kQqClassName[];           // "TXGuiFoundation"
extern const char kAliWangWangClassName[];  // "StandardFrame"

// Which client a window of this class belongs to; false for any other class. Exact, case-sensitive.
bool ClientOfClass(const std::string& className, ChatClient* client);

// The clients whose listen check box is checked.
struct ListenedClients {
    bool weChat = false;
    bool qq = false;
    bool aliWangWang = false;
};

// Whether a top-level window with this class name and title is tracked: it must have a title, belong
// to a listened client and pass that client's title rule (WeChat: exactly "微信"; QQ: anything but
// "TXMenuWindow"; AliWangWang: anything but "阿里旺旺").
bool AdmitsChatWindow(const std::string& className, const std::string& title, const ListenedClients& listened);
