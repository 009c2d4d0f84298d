#pragma once

#include "Platform/qt/FileViewer.h"

#include <string>
#include <vector>

namespace zn::test {

// Keeps the paths it is asked to show instead of asking the desktop.
class RecordingFileViewer : public FileViewer {
public:
    void reveal(const std::string& path) override { revealed.push_back(path); }
    std::vector<std::string> revealed;
};

} // namespace zn::test
