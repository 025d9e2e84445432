#include "split/split_page.h"

#include "res/resource.h"

const CRuntimeClass CMyPropertyPage1::classCMyPropertyPage1 = {
    "CMyPropertyPage1", sizeof(CMyPropertyPage1), 0xFFFF, &CreateByName<CMyPropertyPage1>};

CMyPropertyPage1::CMyPropertyPage1() : CPropertyPage(IDD_SPLIT_PAGE) {}
