// The Batch rename page: a folder, the kind of entries, and one naming rule.
#pragma once

#include "app/framework/property_page.h"
#include "app/framework/runtime_class.h"

class CMyPropertyPage3 : public CPropertyPage {
  public:
    CMyPropertyPage3();

    static const CRuntimeClass classCMyPropertyPage3;
};
