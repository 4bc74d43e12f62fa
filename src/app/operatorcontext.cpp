#include "app/operatorcontext.h"

OperatorContext &currentOperator()
{
    static OperatorContext context;
    return context;
}

void resetOperator()
{
    currentOperator() = OperatorContext();
}
