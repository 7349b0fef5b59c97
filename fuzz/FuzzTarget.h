#pragma once
// What each fuzz target defines: the small files its corpus starts from, and what the
// program does with one file. FuzzMain.cpp provides libFuzzer's entry points around them:
// it writes each input to a file (the readers take paths, as the program calls them),
// and writes the seeds when PICORA_FUZZ_SEEDS names a folder.
//
// A new target is one file, NameFuzz.cpp, defining the two functions below, and one line
// in fuzz/CMakeLists.txt: picora_fuzz_target(Name <library it needs>).
#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

namespace Fuzz {

// File name and contents of the seeds.
using Seeds = std::vector<std::pair<QString, QByteArray>>;
Seeds MakeSeeds();

// Runs the program's entry points on one input; every failure they may report (a
// PictureError) is caught here. Anything else that goes wrong is a finding.
void Run(const QByteArray& data);

// Writes data to this process's scratch file with the given extension and returns its
// path. The same file is rewritten for every input.
QString WriteInput(const QByteArray& data, const QString& extension);

}  // namespace Fuzz
