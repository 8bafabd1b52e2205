// Opens a busy set file in the settings editor: the model alone, and the
// whole Qt window until its tree is laid out, as a user waits for it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTreeView>

#include "runs/fake_file_system.h"
#include "setfile/busy_set_file_builder.h"
#include "shell/settings_editor.h"
#include "shell/settings_model.h"

namespace quorlith {
namespace {

void BM_OpenModel(benchmark::State& state) {
  std::vector<std::uint8_t> bytes = BusySetFile(1).Bytes();
  std::u16string error;
  for (auto _ : state) {
    SettingsModel model;
    bool opened = model.Load("/sets/BUSY.000", bytes, error);
    benchmark::DoNotOptimize(opened);
  }
}
BENCHMARK(BM_OpenModel)->Unit(benchmark::kMillisecond);

void BM_OpenEditorWindow(benchmark::State& state) {
  FakeFileSystem fs;
  fs.AddFile("/sets/BUSY.000", BusySetFile(1).Bytes());
  for (auto _ : state) {
    auto* editor = new SettingsEditor(fs);
    bool opened = editor->OpenFile(QStringLiteral("/sets/BUSY.000"));
    editor->show();
    // Every section open: the most the tree ever lays out.
    editor->Tree()->expandAll();
    QApplication::processEvents();
    benchmark::DoNotOptimize(opened);
    state.PauseTiming();
    delete editor;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenEditorWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorlith

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
