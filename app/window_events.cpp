#include "app/window_events.h"

#include <commctrl.h>

#include <iterator>

#include "chat/chat_targets.h"
#include "chat/delivery.h"
#include "chat/docking.h"
#include "net/update_check.h"
#include "net/web_links.h"
#include "ui/category_tabs.h"
#include "ui/import_messages.h"
#include "ui/main_form.h"
#include "ui/message_list.h"
#include "ui/message_menu.h"

namespace {

const CommandRoute kCommands[] = {
    {kId按钮_添加分类, AddCategory},    {kId按钮_删除分类, DeleteCategory}, {kId按钮_编辑分类, RenameCategory},
    {kId按钮_导入消息, ImportMessages}, {kId选择框_QQ, RebuildTargets},     {kId选择框_微信, RebuildTargets},
    {kId选择框_旺旺, RebuildTargets},   {kId复制该消息, DuplicateMessage},  {kId删除该消息, DeleteMessage},
    {kId编辑该消息, EditMessage},       {kId上移, MoveMessageUp},           {kId下移, MoveMessageDown},
    {kId关于软件, OpenAboutPage},       {kId联系作者, OpenContactLink},     {kId监测新版本, CheckForUpdate},
    {kId随意看看, OpenCuriousPage},
};

const NotifyRoute kNotifications[] = {
    {kId选择夹_分类, TCN_SELCHANGE, SwitchCategory},
    {kId超级列表框_消息列表, NM_DBLCLK, DeliverMessage},
    // Enter in the message list: the window hands it to the list, which reports it thus.
    {kId超级列表框_消息列表, NM_RETURN, DeliverMessage},
    {kId超级列表框_消息列表, NM_RCLICK, ShowMessageMenu},
    {kId超级列表框_进程列表, NM_CLICK, PickProcessRow},
};

}  // namespace

const WindowEvents kMainWindowEvents = {kCommands, std::size(kCommands), kNotifications, std::size(kNotifications),
                                        DockStep};
