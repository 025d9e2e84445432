// The record that lets a page be created by its class name.
#pragma once

class CDialog;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    unsigned m_wSchema;
    CDialog* (*m_pfnCreateObject)();  // null for a class that cannot be created by name

    CDialog* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

// A factory for the record of a default-constructible class.
template <class T>
CDialog* CreateByName() {
    return new T;
}
