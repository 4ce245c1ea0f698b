#include "bench/support/BenchApplication.h"

#include <cstdio>

#include "framework/forms/Application.h"
#include "framework/forms/Dialogs.h"

namespace bench {

void StartApplication() {
  Application->Initialize();
  SetMessageBoxHandler([](const TMessageBoxRequest& request) {
    std::fprintf(stderr, "message box: %s\n", request.Text.c_str());
    return IDOK;
  });
}

}  // namespace bench
