// The stand-in provider DLL's module state: the count of live objects and locks that keeps
// it loaded.
#pragma once

void LockProviderModule() noexcept;
void UnlockProviderModule() noexcept;
