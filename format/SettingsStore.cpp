#include "format/SettingsStore.h"

namespace tralto {

SettingsStore::~SettingsStore() = default;

} // namespace tralto
