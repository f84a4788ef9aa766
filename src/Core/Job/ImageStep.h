#pragma once
// The per-image step of a job: one image under one preset, from its source file to a written output
// file (or a copy), recorded as done or as skipped with a reason. Runs on a job worker; the screen is
// reached only through the job's main-queue posts.

#include <cstdint>
#include <string>

#include "Core/Job/BatchJob.h"
#include "Core/Records/ActionType.h"
#include "Platform/Graphics/Geometry.h"

namespace core {

struct ImageStepInput {
    const PresetInfo* preset = nullptr;
    std::int64_t presetIndex = 0;
    SourceURLInfo record;
    cg::Size fallbackSize;
    ActionType actionType = ActionType::WxAuto;
    bool saliencyWanted = false;
    bool placeholder = false;
    std::filesystem::path presetFolder;
};

struct ImageStepOutcome {
    enum class Kind {
        Done,        // written or copied
        Skipped,     // handled, but nothing could be written
        Unreadable,  // missing, unreadable or too large a source: skipped without being handled
        TooSmall,    // the preset would have to enlarge it
        Cancelled,   // reached after the user cancelled
    };
    Kind kind = Kind::Skipped;
    SourceURLInfo record;  // with strFinalOutputFilePath set when done and named
    std::string reason;    // why it was skipped
    // A done image's finished file under a temporary name, and the name it is meant to have. It gets
    // its final name from nameOutputFile, in image order, so that which of two same-named images takes
    // the plain name never depends on which finished first.
    std::filesystem::path unnamedFile;
    std::filesystem::path intendedPath;
};

// Decides the target size, then loads, processes and writes the image under a temporary name. Never
// throws.
ImageStepOutcome processImageStep(BatchJob& job, const ImageStepInput& input);

// Gives a done image's file its final name (the intended one, or its first free " (N)" variant) and
// records it; a file that cannot be named makes the image skipped. Other outcomes pass unchanged.
ImageStepOutcome nameOutputFile(ImageStepOutcome outcome, const OutputFileSystem& fileSystem);

}  // namespace core
