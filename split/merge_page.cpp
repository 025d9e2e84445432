#include "split/merge_page.h"

#include "res/resource.h"

const CRuntimeClass CMyPropertyPage2::classCMyPropertyPage2 = {
    "CMyPropertyPage2", sizeof(CMyPropertyPage2), 0xFFFF, &CreateByName<CMyPropertyPage2>};

CMyPropertyPage2::CMyPropertyPage2() : CPropertyPage(IDD_MERGE_PAGE) {}
