#include "format/SettingsStore.h"

SettingsStore::~SettingsStore() = default;
