#pragma once

// Handlers of the "查看" menu items that open a page in the default browser: "关于软件", "随意看看"
// and "联系作者". Docking is paused while the shell opens the page.
void OpenAboutPage();
void OpenCuriousPage();
void OpenContactLink();
