// The scan of 1,000 registered objects against a 100,000-entry known-object
// list and a 10,000-entry ignored list, with the lists' hash index and with
// the linear search it replaces. Prints the ratio of the two.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "lists/clsid_list.h"
#include "lists/list_file.h"
#include "lists/list_text.h"
#include "platform/memory_files.h"
#include "platform/memory_registry.h"
#include "scanner/helper_objects.h"

namespace {

using qb::platform::RegistryRoot;

std::string RandomClsid(std::mt19937_64& random) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string clsid = "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx";
  for (char& c : clsid) {
    if (c == 'x') c = kDigits[random() % 16];
  }
  return clsid;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// A machine with 1,000 objects: a third known, a third ignored, a third new.
// The registry names them in lower case, the lists in upper case.
struct Machine {
  Machine() {
    std::mt19937_64 random(2004);
    std::vector<std::string> known;
    std::vector<std::string> ignored;
    for (int i = 0; i < 100000; ++i) known.push_back(RandomClsid(random));
    for (int i = 0; i < 10000; ++i) ignored.push_back(RandomClsid(random));
    files.Put("/p/CLSIDs.txt", qb::lists::FormatListText(known));
    files.Put("/p/ICLSIDs.txt", qb::lists::FormatListText(ignored));
    lists.Load();
    const std::string key(qb::scanner::kBrowserHelperObjectsKey + 1);
    for (int i = 0; i < 1000; ++i) {
      const std::string clsid = i % 3 == 0   ? known[random() % known.size()]
                                : i % 3 == 1 ? ignored[random() % ignored.size()]
                                             : RandomClsid(random);
      registry.CreateKey(RegistryRoot::LocalMachine, key + "\\{" + Lower(clsid) + "}");
    }
  }

  qb::platform::MemoryRegistry registry;
  qb::platform::MemoryFiles files;
  qb::lists::ClsidLists lists{files, "/p"};
  qb::platform::Windows1252 code_page;
};

Machine& TheMachine() {
  static Machine machine;
  return machine;
}

std::vector<qb::scanner::RegisteredObject> ScanLinearly(Machine& machine) {
  std::vector<qb::scanner::RegisteredObject> suspicious;
  const auto& known = machine.lists.known.list().entries();
  const auto& ignored = machine.lists.ignored.list().entries();
  for (qb::scanner::RegisteredObject& object : qb::scanner::RegisteredObjects(machine.registry)) {
    const std::string text = machine.code_page.Encode(object.clsid);
    if (qb::lists::FindLinear(known, text) < 0 && qb::lists::FindLinear(ignored, text) < 0) {
      suspicious.push_back(std::move(object));
    }
  }
  return suspicious;
}

void BM_ScanIndexed(benchmark::State& state) {
  Machine& machine = TheMachine();
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        qb::scanner::FindSuspiciousObjects(machine.registry, {machine.lists, machine.code_page}));
  }
}
BENCHMARK(BM_ScanIndexed)->Unit(benchmark::kMicrosecond);

void BM_ScanLinear(benchmark::State& state) {
  Machine& machine = TheMachine();
  for (auto _ : state) benchmark::DoNotOptimize(ScanLinearly(machine));
}
BENCHMARK(BM_ScanLinear)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per iteration for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Both scans must agree before their speed means anything.
  if (ScanLinearly(TheMachine()) !=
      qb::scanner::FindSuspiciousObjects(TheMachine().registry,
                                         {TheMachine().lists, TheMachine().code_page})) {
    std::fprintf(stderr, "the indexed and the linear scan disagree\n");
    return 1;
  }
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double indexed = reporter.times["BM_ScanIndexed"];
  const double linear = reporter.times["BM_ScanLinear"];
  if (indexed > 0) {
    std::printf(
        "\nScan of 1,000 objects against 100,000 known and 10,000 ignored entries:\n"
        "indexed lists are %.0f times faster than linear search\n",
        linear / indexed);
  }
  return 0;
}
