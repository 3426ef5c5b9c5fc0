// A library beside the test programs that the system folder does not hold:
// a system library must never be taken from there.
extern "C" __declspec(dllexport) int besideTheProgram() { return 1; }
