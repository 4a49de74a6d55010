// InstallScrollRegionParts: gives new layouts their column and row scroll
// regions.
#pragma once

// Installs the region makers in the process-wide layout parts where none is
// installed yet.
void InstallScrollRegionParts();
