// A menu text written as a narrow literal, which the check must find; the wide ones and 1'000 pass.
const wchar_t* good = L"ゲーム開始";
const char* bad = "ゲーム開始";
const int thousand = 1'000;
