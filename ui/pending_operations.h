#pragma once

// Operations that window events run and that live in a subsystem not built yet: the web links and
// the update check of the "查看" menu.

void OpenAboutPage();     // "关于软件"
void OpenContactLink();   // "联系作者"
void CheckForUpdate();    // "监测新版本"
void OpenCuriousPage();   // "随意看看"
