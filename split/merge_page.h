// The Merge page: one piece of a series and the file the series is joined into.
#pragma once

#include "app/framework/property_page.h"
#include "app/framework/runtime_class.h"

class CMyPropertyPage2 : public CPropertyPage {
  public:
    CMyPropertyPage2();

    static const CRuntimeClass classCMyPropertyPage2;
};
