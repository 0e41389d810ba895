#include "weapons/supply_drops.h"

SupplyDrop g_drops[kSupplyDrops];

void ClearSupplyDrops() {
  for (SupplyDrop& d : g_drops) d = SupplyDrop();
}
