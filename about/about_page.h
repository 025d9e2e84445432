// The About page: the version line and the maker's links.
#pragma once

#include "app/framework/property_page.h"
#include "app/framework/runtime_class.h"

class CMyPropertyPage5 : public CPropertyPage {
  public:
    CMyPropertyPage5();

    static const CRuntimeClass classCMyPropertyPage5;
};
