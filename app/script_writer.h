#pragma once
// The generate and close buttons: validating the form, writing the ".pst"
// and closing the tool.
namespace korvath::app {

// The generate button "生成并保存".
void OnGenerateClick();
// Validates the form and builds the lines into the record; false (after
// telling the user why) when the input is refused.
bool BuildNpcScriptLines();
// Writes the built lines to NpcFilePath, asking before it replaces a file;
// true when the file was written.
bool WriteNpcFile();
// The close button "关闭".
void OnCloseClick();

}  // namespace korvath::app
