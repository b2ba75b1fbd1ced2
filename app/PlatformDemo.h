// The platform layer's own demonstration (gleamstrand --demo ...).
#pragma once

// argv[0] is "--demo"; the demo's options follow.
int RunPlatformDemo(int argc, char** argv);
