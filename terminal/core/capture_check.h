#pragma once

class Prompter;

namespace tarvex {

struct KundeSettings;

// Capture stays on only while the folder of its file exists: otherwise the operator is told
// (caption "Information") and capture is switched off with its file name cleared. Run at
// start and whenever the options are taken over. Returns false when capture was switched off.
bool checkCaptureDirectory(KundeSettings& settings, Prompter& prompter);

} // namespace tarvex
