// The module's three identities, chosen once: the add-in class, the command
// class and the type library. Plain macros, so that the IDL, the resource
// script and the C++ code all read these very lines.
#pragma once

// clang-format off
#define TAVIR_ADDIN_CLSID 752AE4D3-1626-47E5-99B6-02B05C84DBF6
#define TAVIR_COMMAND_CLSID 1CA7EA45-9B95-4BC6-8D93-686138FD3C9E
#define TAVIR_TYPELIB_ID 0F38A597-1E9C-4D21-820B-91BAAE2B7446
// clang-format on

// The registry form, in braces: TAVIR_GUID_TEXT(TAVIR_ADDIN_CLSID).
#define TAVIR_GUID_TEXT_OF(guid) #guid
#define TAVIR_GUID_TEXT(guid) "{" TAVIR_GUID_TEXT_OF(guid) "}"
