#ifndef XA_PACKAGE_FUNCTION_REF_H_
#define XA_PACKAGE_FUNCTION_REF_H_

#include <memory>
#include <type_traits>
#include <utility>

namespace xa {

template <typename Signature>
class TFunctionRef;

// A callback that is called only during the call that receives it: it refers to the caller's
// callable instead of copying it. Unlike std::function it brings no manager, no copies and no
// type information of each lambda into the shipped program.
template <typename Result, typename... Args>
class TFunctionRef<Result(Args...)> {
 public:
  // Refers to nothing; false when tested.
  TFunctionRef() = default;

  // Refers to `callable` (a lambda or function object), which outlives this reference;
  // converts implicitly, as std::function does.
  template <typename Callable,
            typename = std::enable_if_t<
                !std::is_same_v<std::decay_t<Callable>, TFunctionRef> &&
                !std::is_function_v<std::remove_reference_t<Callable>> &&
                std::is_invocable_r_v<Result, std::remove_reference_t<Callable>&, Args...>>>
  TFunctionRef(Callable&& callable)
      : object_(const_cast<void*>(static_cast<const void*>(std::addressof(callable)))),
        call_([](const TFunctionRef& self, Args... args) -> Result {
          return (*static_cast<std::remove_reference_t<Callable>*>(self.object_))(
              std::forward<Args>(args)...);
        }) {}

  // Refers to the function `function`.
  TFunctionRef(Result (*function)(Args...))
      : function_(function), call_([](const TFunctionRef& self, Args... args) -> Result {
          return self.function_(std::forward<Args>(args)...);
        }) {}

  // Whether it refers to a callable.
  explicit operator bool() const { return call_ != nullptr; }

  // Calls the callable; it must refer to one.
  Result operator()(Args... args) const { return call_(*this, std::forward<Args>(args)...); }

 private:
  void* object_ = nullptr;
  Result (*function_)(Args...) = nullptr;
  Result (*call_)(const TFunctionRef& self, Args... args) = nullptr;
};

}  // namespace xa

#endif  // XA_PACKAGE_FUNCTION_REF_H_
