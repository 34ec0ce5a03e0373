Attribute VB_Name = "modStock"
' 库存模块：读取和统计库存
Option Explicit

Public Type StockLine
Code As String * 8
  Quantity As Long
    Price As Currency
End Type

Public Const MAX_ITEMS As Long = 500

' 载入示例数据
Public Sub LoadItems(ByVal items As Collection)
Dim i As Long
  For i = 1 To 3
  Dim item As clsItem
Set item = New clsItem
   item.Name = "货物" & CStr(i)
item.Quantity = i * 10
   items.Add item
Next i
End Sub

' 按类别计算折扣
Public Function Discount(ByVal category As Integer, _
    ByVal amount As Currency, _
    Optional ByVal member As Boolean = False) As Currency
Select Case category
Case 1
  Discount = amount * 0.05
Case 2, 3
If member Then
Discount = amount * 0.1
Else
Discount = amount * 0.08
End If
Case Else
   Discount = 0
End Select
End Function

Private Function Clamp(value As Long, low As Long, high As Long) As Long
    Do While value < low
value = value + 1
  Loop
If value > high Then value = high
Clamp = value
End Function
