// LayoutComponent and LayoutVisitor: the double dispatch of the layout filter. Three
// components (binding, N-up, poster) each hold one group of settings and state; each
// processing step is a visitor that walks over them, always in the order binding, N-up, poster.
#pragma once

#include "winerror.h"

namespace kx {

class BindingLayout;
class NUpLayout;
class PosterLayout;

class LayoutVisitor {
 public:
  virtual HRESULT VisitPoster(PosterLayout& poster) = 0;
  virtual HRESULT VisitNUp(NUpLayout& nup) = 0;
  virtual HRESULT VisitBinding(BindingLayout& binding) = 0;
  virtual ~LayoutVisitor() = default;
};

class LayoutComponent {
 public:
  virtual HRESULT Accept(LayoutVisitor& visitor) = 0;
  virtual bool IsActive() const = 0;
  virtual ~LayoutComponent() = default;
};

}  // namespace kx
