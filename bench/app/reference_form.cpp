#include "bench/app/reference_form.h"

#include "app/document_folder.h"
#include "app/main_form_layout.h"
#include "platform/folders.h"

namespace korvath::bench {

namespace {

platform::Form& ReferenceForm() {
  static platform::Form form;
  return form;
}

// The defaults that the tool's creation-done handler gives, without the skin
// and without the record behind them. The folder is shown, not created.
void OnReferenceCreated() {
  app::FillMainFormDefaults(ReferenceForm(), app::DefaultDocumentFolder());
}

const platform::FormDescription& ReferenceDescription() {
  static const platform::FormDescription description = [] {
    platform::FormDescription d = app::MainFormLayout();
    d.onCreationDone = &OnReferenceCreated;
    return d;
  }();
  return description;
}

bool EnterProgramFolder() {
  platform::ChangeDirectory(platform::ProgramDirectory());
  return true;
}

bool LoadWindow() { return ReferenceForm().CreateHidden(ReferenceDescription()); }

bool ShowReferenceWindow() {
  ReferenceForm().Show();
  return true;
}

bool PaintFirstFrame() {
  ReferenceForm().PaintFirstFrame();
  return true;
}

constexpr app::StartupStep kSteps[] = {
    {"program folder", &EnterProgramFolder},
    {"main window created and set up", &LoadWindow},
    {"main window shown", &ShowReferenceWindow},
    {"first frame painted", &PaintFirstFrame},
};

}  // namespace

std::span<const app::StartupStep> ReferenceStartupSteps() { return kSteps; }

int RunReferenceMessageLoop() { return ReferenceForm().RunMessageLoop(); }

void EndReference() {
  if (ReferenceForm().IsAlive()) ReferenceForm().DestroyWindowOrUnit();
}

}  // namespace korvath::bench
