#include "shell/com_apartment.h"

#include <objbase.h>

namespace xa {

TComApartment::TComApartment() : initialized_(SUCCEEDED(CoInitialize(nullptr))) {}

TComApartment::~TComApartment() {
  if (initialized_)
    CoUninitialize();
}

}  // namespace xa
