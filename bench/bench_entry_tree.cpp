// RefreshProps cost per entry for classes with 10 and with 200 published properties: binding
// goes by name through the class's index, so the cost should not grow with the class.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "model/ComponentExplorerTools.h"
#include "platform/core/typinfo/ClassBuilder.h"

using namespace dravik;

namespace {

// A component whose class is described at run time with `count` integer properties.
class TWide : public TComponent {
 public:
  TWide(const TClassRecord& record, int count)
      : TComponent(nullptr), Values(static_cast<std::size_t>(count)), fRecord(record) {}
  const TClassRecord& ClassType() const override { return fRecord; }
  std::vector<int64_t> Values;

 private:
  const TClassRecord& fRecord;
};

std::unique_ptr<TClassRecord> DescribeWide(int count) {
  auto record = std::make_unique<TClassRecord>("TWide" + std::to_string(count), "Bench",
                                               &TComponent::StaticClass());
  for (int i = 0; i < count; ++i) {
    TPropInfo prop("Prop" + std::to_string(i), TypeInfo<int32_t>());
    std::size_t slot = static_cast<std::size_t>(i);
    prop.Ordinal.Get = [slot](TObject& o) { return static_cast<TWide&>(o).Values[slot]; };
    prop.Ordinal.Set = [slot](TObject& o, int64_t v) { static_cast<TWide&>(o).Values[slot] = v; };
    record->AddProperty(std::move(prop));
  }
  record->Seal();
  return record;
}

void BM_RefreshPropsPerEntry(benchmark::State& state) {
  const int properties = static_cast<int>(state.range(0));
  const int components = 100;
  auto record = DescribeWide(properties);
  std::vector<TComponentPtr<TWide>> objects;
  TComponentEntries entries(nullptr, nullptr);
  for (int c = 0; c < components; ++c) {
    objects.push_back(MakeComponent<TWide>(*record, properties));
    TMainEntry* entry =
        TMainEntry::CreateEx(&entries, objects.back().get(), "C", "TWide", {stPubPropObject});
    // Three translated properties spread over the class.
    for (int p : {0, properties / 2, properties - 1})
      TPropertyEntry::CreateEx(entry, "Prop" + std::to_string(p), tkInteger, "");
  }
  for (auto _ : state) {
    entries.RefreshProps();
    benchmark::DoNotOptimize(entries.Items(0)->Props()->Items(0)->PropInfo);
  }
  state.SetItemsProcessed(state.iterations() * components);
  state.counters["properties"] = properties;
}
BENCHMARK(BM_RefreshPropsPerEntry)->Arg(10)->Arg(200)->Arg(2000);

}  // namespace

BENCHMARK_MAIN();
