#include "ui/pending_operations.h"

// Not built yet: each event is wired already and does nothing until its operation exists.
void OpenAboutPage() {}
void OpenContactLink() {}
void CheckForUpdate() {}
void OpenCuriousPage() {}
