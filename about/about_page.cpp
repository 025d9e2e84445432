#include "about/about_page.h"

#include "res/resource.h"

const CRuntimeClass CMyPropertyPage5::classCMyPropertyPage5 = {
    "CMyPropertyPage5", sizeof(CMyPropertyPage5), 0xFFFF, &CreateByName<CMyPropertyPage5>};

CMyPropertyPage5::CMyPropertyPage5() : CPropertyPage(IDD_ABOUT_PAGE) {}
