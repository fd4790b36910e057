// A Russian literal in the engine outside the string table.
const char* kCaption = "Числа тиража";
