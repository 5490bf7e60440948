#ifndef XA_WIZARD_GDI_OBJECT_WIN_H_
#define XA_WIZARD_GDI_OBJECT_WIN_H_

#include <windows.h>

namespace xa {

// Owns one GDI object (HFONT, HBRUSH, HBITMAP, ...) and deletes it with DeleteObject when it
// goes. Move-only; an empty owner holds null. The object must not be selected into a device
// context when the owner deletes it.
template <typename T>
class TGdiObject {
 public:
  TGdiObject() = default;
  // Takes ownership of `object` (may be null).
  explicit TGdiObject(T object) : object_(object) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(TGdiObject&& other) noexcept : object_(other.Release()) {}
  TGdiObject& operator=(TGdiObject&& other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  // The object, still owned; null when empty.
  T Get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

  // Gives up ownership and returns the object; the owner is empty afterwards.
  T Release() {
    T object = object_;
    object_ = nullptr;
    return object;
  }

  // Deletes the held object and takes `object` instead.
  void Reset(T object = nullptr) {
    if (object_)
      DeleteObject(object_);
    object_ = object;
  }

 private:
  T object_ = nullptr;
};

// A memory device context that owns its handle (DeleteDC) and puts back the bitmap it came with
// before it goes, so that bitmaps selected into it can be deleted afterwards. It is made while
// painting, so it never throws: when the system refuses the context it holds null, and drawing
// from it draws nothing.
class TMemoryDC {
 public:
  // Creates a memory context compatible with `dc` (null: the screen).
  explicit TMemoryDC(HDC dc = nullptr) noexcept;
  ~TMemoryDC();
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;

  // The context; null when the system refused it.
  HDC Get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

  // Selects `bitmap` (not owned; it must outlive this context or be replaced); false when the
  // context or the selection was refused.
  bool Select(HBITMAP bitmap) noexcept;

 private:
  HDC dc_;
  HGDIOBJ original_ = nullptr;
};

// Creates a font whose character height (the cell height without internal leading) is
// `character_height_px` pixels, regular or bold, in the default character set. Raises Exception
// when the system refuses.
TGdiObject<HFONT> CreatePixelFont(const wchar_t* face, int character_height_px, bool bold);

}  // namespace xa

#endif  // XA_WIZARD_GDI_OBJECT_WIN_H_
