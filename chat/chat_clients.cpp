#include "chat/chat_clients.h"

const char kWeChatClassName[] = "WeChatMainWndForPC";
const char kQqClassName[] = "TXGuiFoundation";
const char kAliWangWangClassName[] = "StandardFrame";

namespace {

// The only title a WeChat main window is tracked with.
const char kWeChatTitle[] = "微信";
// A QQ window of the chat class with this title is a menu, not a chat.
const char kQqMenuTitle[] = "TXMenuWindow";
// The AliWangWang frame with this title is the client's main window, not a chat.
const char kAliWangWangMainTitle[] = "阿里旺旺";

}  // namespace

bool ClientOfClass(const std::string& className, ChatClient* client) {
    if (className == kWeChatClassName) {
        *client = ChatClient::kWeChat;
    } else if (className == kQqClassName) {
        *client = ChatClient::kQq;
    } else if (className == kAliWangWangClassName) {
        *client = ChatClient::kAliWangWang;
    } else {
        return false;
    }
    return true;
}

bool AdmitsChatWindow(const std::string& className, const std::string& title, const ListenedClients& listened) {
    ChatClient client = ChatClient::kWeChat;
    if (title.empty() || !ClientOfClass(className, &client)) {
        return false;
    }
    switch (client) {
        case ChatClient::kWeChat:
            return title == kWeChatTitle && listened.weChat;
        case ChatClient::kQq:
            return title != kQqMenuTitle && listened.qq;
        case ChatClient::kAliWangWang:
            return title != kAliWangWangMainTitle && listened.aliWangWang;
    }
    return false;
}
