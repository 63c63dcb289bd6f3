#pragma once

// Operations that window events run and that live in other subsystems: chat-window tracking and
// docking, delivery, import, and the web links and update check of the "查看" menu.

void DockStep();          // tick of 时钟_定期执行
void RebuildTargets();    // clicks on the three listen check boxes; start-up
void PickProcessRow();    // click in 超级列表框_进程列表
void DeliverMessage();    // double-click in 超级列表框_消息列表
void OpenAboutPage();     // "关于软件"
void OpenContactLink();   // "联系作者"
void CheckForUpdate();    // "监测新版本"
void OpenCuriousPage();   // "随意看看"
