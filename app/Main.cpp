// The program's entry: initialises the application object, hands the
// command-line tail to the main window as the application's title, creates
// the five windows in their order (main window, properties dialog, about box,
// search dialog, file-type learner) and runs the message loop until the main
// window has closed.

#include <string>
#include <vector>

#include "app/About_Form.h"
#include "app/MainForm.h"
#include "app/Properties.h"
#include "app/RegForm.h"
#include "app/Search_Form.h"
#include "app/StartFolder.h"
#include "framework/core/Exception.h"
#include "framework/forms/Application.h"

int main(int argc, char** argv) {
  try {
    Application->Initialize();
    Application->SetTitle(CommandLineTail(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc)));
    Application->CreateForm(MainForm);
    Application->CreateForm(PropForm);
    Application->CreateForm(AboutBox);
    Application->CreateForm(SearchForm);
    Application->CreateForm(LearnForm);
    Application->Run();
  } catch (const Exception& error) {
    // An error out of a window's construction ends the program after its
    // message box; errors inside the message loop are shown by the loop.
    // The title may still hold the tail: the box is captioned "Pellix".
    Application->SetTitle("Pellix");
    Application->ShowException(error);
  } catch (const std::exception& error) {
    Application->SetTitle("Pellix");
    Application->ShowException(Exception(error.what()));
  }
  return 0;
}
