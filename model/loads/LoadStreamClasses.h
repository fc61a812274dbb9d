#pragma once

// Registers the stored classes of load profiles and heat pumps with the
// stream class registry. Call once at start-up (and in test set-up).
void RegisterLoadStreamClasses();
