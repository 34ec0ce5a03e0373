VERSION 5.00
Begin VB.UserControl ctlGauge
ClientHeight    =   600
ClientWidth     =   2400
PropertyPages   =   "ctlGauge.ctx":0000
ScaleHeight     =   600
ScaleWidth      =   2400
Begin VB.Shape shpBar
BackColor       =   &H0000C000&
BackStyle       =   1  'Opaque
Height          =   600
Left            =   0
Top             =   0
Width           =   1200
End
End
Attribute VB_Name = "ctlGauge"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = True
Attribute VB_PredeclaredId = False
Attribute VB_Exposed = False
Option Explicit

Private mValue As Integer

Public Property Get Value() As Integer
Value = mValue
End Property

Public Property Let Value(ByVal newValue As Integer)
If newValue < 0 Then newValue = 0
  If newValue > 100 Then newValue = 100
mValue = newValue
   Redraw
PropertyChanged "Value"
End Property

Private Sub Redraw()
shpBar.Width = ScaleWidth * mValue \ 100
End Sub

Private Sub UserControl_Resize()
   Redraw
End Sub
