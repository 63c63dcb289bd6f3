#pragma once

// Operations that window events run and that live in the chat-client subsystem: tracking and
// docking, and delivery.

void DockStep();          // tick of 时钟_定期执行
void RebuildTargets();    // clicks on the three listen check boxes; start-up
void PickProcessRow();    // click in 超级列表框_进程列表
void DeliverMessage();    // double-click in 超级列表框_消息列表
