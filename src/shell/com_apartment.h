#ifndef XA_SHELL_COM_APARTMENT_H_
#define XA_SHELL_COM_APARTMENT_H_

namespace xa {

// Makes the calling thread a single-threaded COM apartment for the object's lifetime. The
// program holds one for its main thread; shortcut writing needs it.
class TComApartment {
 public:
  TComApartment();
  ~TComApartment();
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

  // True when CoInitialize succeeded and will be balanced by CoUninitialize.
  bool Initialized() const { return initialized_; }

 private:
  bool initialized_;
};

}  // namespace xa

#endif  // XA_SHELL_COM_APARTMENT_H_
