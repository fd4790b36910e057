// Russian words in a comment without quotes are fine: Числа тиража.
const char* kCode = "NUMS";
