Attribute VB_Name = "m"
Public Function F(a As Long, _
  b As Long) As Long
If a Then _
b = 1
Select Case a
Case 1
End Select
End Function
