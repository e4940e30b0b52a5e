#include "shell/sorvane_app.h"

wxIMPLEMENT_APP(sorvane::CSorvaneApp);
