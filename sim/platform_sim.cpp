// The simulator in-process: a steam_api.dll of any release as the binding
// sees it. Each flat function and each method the library binds has one
// function here that forwards to the one PlatformModel, generated from the
// platform function lists, under every export name its row lists; the
// release's export list (data/steam_api/exports/) says which names the DLL
// has, and the binding's own BindExports chooses among them.
#include "sim/platform_sim.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "steam/binding/export_binding.h"
#include "steam/binding/steam_flat.h"

namespace qz::sim {
namespace {

std::recursive_mutex& Mutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

PlatformModel& Model() {
  static PlatformModel model;
  return model;
}

#define QZ_SIM_FLAT(name, ret, params, call, exports) \
  ret QZ_CDECL Flat_##name params { return Platform()->call; }
QZ_STEAM_FLAT_FUNCTIONS(QZ_SIM_FLAT)
#undef QZ_SIM_FLAT
#define QZ_SIM_METHOD(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, ret QZ_CDECL Method_##iface##_##method params { return Platform()->call; })
QZ_STEAM_METHODS(QZ_SIM_METHOD)
#undef QZ_SIM_METHOD

struct Export {
  const char* name;
  void* address;
};
#define QZ_SIM_EXPORT(address, name) {#name, reinterpret_cast<void*>(address)},
#define QZ_SIM_FLAT_EXPORTS(name, ret, params, call, exports) \
  QZ_STEAM_FOR_EACH(QZ_SIM_EXPORT, &Flat_##name, QZ_STEAM_UNPAREN exports)
#define QZ_SIM_METHOD_EXPORTS(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, QZ_STEAM_FOR_EACH(QZ_SIM_EXPORT, &Method_##iface##_##method, QZ_STEAM_UNPAREN exports))
const Export kExports[] = {QZ_STEAM_FLAT_FUNCTIONS(QZ_SIM_FLAT_EXPORTS) QZ_STEAM_METHODS(QZ_SIM_METHOD_EXPORTS)};
#undef QZ_SIM_METHOD_EXPORTS
#undef QZ_SIM_FLAT_EXPORTS
#undef QZ_SIM_EXPORT

// The export names of a release, read once.
std::set<std::string>& ReleaseExports(const std::string& release) {
  static std::map<std::string, std::set<std::string>> lists;
  if (auto it = lists.find(release); it != lists.end()) return it->second;
  const std::string path = std::string(QZ_STEAM_API_DATA) + "/exports/" + release + ".txt";
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "simulator: no export list %s\n", path.c_str());
    std::abort();
  }
  std::set<std::string> names;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line[0] != '#') names.insert(line);
  }
  return lists.emplace(release, std::move(names)).first->second;
}

// An export of the release that no row lists. The binding only asks whether
// it is there (the newest of them tells a release's interface versions);
// calling it is a fault of the simulator.
void NotModelled() {
  std::fprintf(stderr, "simulator: a function it does not model was called\n");
  std::abort();
}

void* ExportOf(void* context, const char* name) {
  if (static_cast<const std::set<std::string>*>(context)->count(name) == 0) return nullptr;
  for (const Export& e : kExports) {
    if (std::strcmp(e.name, name) == 0) return e.address;
  }
  return reinterpret_cast<void*>(&NotModelled);
}

}  // namespace

LockedModel::LockedModel() : lock_(Mutex()) {}
PlatformModel* LockedModel::operator->() const { return &Model(); }
PlatformModel& LockedModel::operator*() const { return Model(); }

void Install(const char* release) { steam::SteamFlat() = steam::BindExports(&ExportOf, &ReleaseExports(release)); }

void Reset() {
  LockedModel model;
  const std::vector<ModelRegistration> kept = model->Registrations();
  *model = PlatformModel();
  for (const ModelRegistration& r : kept) model->RegisterCallback(r.object, r.callbackId);
  model->ClearCalls();
}

}  // namespace qz::sim
