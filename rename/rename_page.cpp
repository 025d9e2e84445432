#include "rename/rename_page.h"

#include "res/resource.h"

const CRuntimeClass CMyPropertyPage3::classCMyPropertyPage3 = {
    "CMyPropertyPage3", sizeof(CMyPropertyPage3), 0xFFFF, &CreateByName<CMyPropertyPage3>};

CMyPropertyPage3::CMyPropertyPage3() : CPropertyPage(IDD_RENAME_PAGE) {}
