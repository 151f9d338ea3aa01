// A DLL planted beside the program under a system DLL's name, as a download
// may leave one in a Downloads folder: if it is ever loaded, it leaves a file
// beside itself to say so.
#include <windows.h>

#include <string>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(instance, path, MAX_PATH);
    std::wstring sign(path);
    sign = sign.substr(0, sign.find_last_of(L'\\') + 1) + L"planted-dll-ran.txt";
    HANDLE file = CreateFileW(sign.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
