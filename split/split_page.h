// The Split page: a source file and a target folder, cut into numbered pieces.
#pragma once

#include "app/framework/property_page.h"
#include "app/framework/runtime_class.h"

class CMyPropertyPage1 : public CPropertyPage {
  public:
    CMyPropertyPage1();

    static const CRuntimeClass classCMyPropertyPage1;
};
