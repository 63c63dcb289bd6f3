#include "ui/main_form.h"

MainForm mainForm;
